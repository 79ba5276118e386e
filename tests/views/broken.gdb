break guarda
run </dev/null >/dev/null
print a_meta
print senza_ultimo
print illeggibile
print vuota
print estranea
print nessuna
print a_meta->pred
print illeggibile->succ->succ
print cella_in_cima
print cima
print R
print A
print dove
print B
print p
print del_chiamante
print padre_sbagliato
print nodo_sbagliato
print doppio
print figlio_illeggibile
print nessuno
set print max-depth unlimited
print ciclo
break fermati
continue
frame 1
print T
