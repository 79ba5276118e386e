break guarda
run </dev/null >/dev/null
print lunga
print a_meta
print senza_pred
print illeggibile
print vuota
print estranea
print nessuna
print a_meta->pred
print senza_pred->succ->succ
print cella_in_cima
print cima
print padre_sbagliato
print nodo_sbagliato
print doppio
print figlio_illeggibile
print nessuno
print -max-depth 0 -- catena_1000
print -max-depth 0 -- catena_1001
set print max-depth unlimited
print ciclo
break fermati
continue
frame 1
print T
