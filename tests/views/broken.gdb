break guarda
run </dev/null >/dev/null
print lunga
print a_meta
print senza_pred
print illeggibile
print a_meta->pred
print senza_pred->succ->succ
print padre_sbagliato
print doppio
