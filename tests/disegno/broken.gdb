break guarda
run </dev/null >/dev/null
echo ==disegna\n
disegna a_meta senza_pred illeggibile vuota lunga
disegna estranea nessuna
disegna padre_sbagliato doppio ciclo figlio_illeggibile catena_1001
disegna -o broken-rings.dot a_meta senza_pred illeggibile estranea
disegna -o broken-trees.dot padre_sbagliato doppio ciclo figlio_illeggibile
disegna -o broken-trees.svg padre_sbagliato doppio ciclo figlio_illeggibile
disegna -o broken-trees.png padre_sbagliato doppio ciclo figlio_illeggibile
disegna vuota 42 nessuna estranea
