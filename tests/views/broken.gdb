break guarda
run </dev/null >/dev/null
print intera
print lunga
print a_meta
print senza_pred
print illeggibile
print a_meta->pred
print senza_pred->succ->succ
print albero
print padre_sbagliato
