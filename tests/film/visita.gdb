break AGGIUNGINODO
run </dev/null >/dev/null
echo ==disegna\n
filma -o visita.html T u
echo ==fine\n
