break guarda
run </dev/null >/dev/null
print L
print *L
print T
print *T
print *T->sinistro
disegna L T
