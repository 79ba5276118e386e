break AGGIUNGINODO
run </dev/null >/dev/null
print -max-depth 0 -- T
print -max-depth 1 -- u->sinistro
delete
finish
print -max-depth 0 -- T
