break guarda
run </dev/null >/dev/null
echo ==disegna\n
disegna a_meta senza_ultimo illeggibile vuota
disegna estranea nessuna
disegna padre_sbagliato doppio ciclo figlio_illeggibile
disegna R L p B A dove
disegna nel_main
disegna -o broken-rings.dot a_meta senza_ultimo illeggibile estranea
disegna -o broken-trees.dot padre_sbagliato doppio ciclo figlio_illeggibile
disegna -o handles.dot L p B A dove
disegna -o broken-trees.svg padre_sbagliato doppio ciclo figlio_illeggibile
disegna -o broken-trees.png padre_sbagliato doppio ciclo figlio_illeggibile
disegna vuota 42 nessuna estranea
