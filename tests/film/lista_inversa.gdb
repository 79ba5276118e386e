break inslista
run </dev/null >/dev/null
echo ==disegna\n
filma -n 3 -o inslista-stop-by-stop.html L
filma --righe -o inslista-line-by-line.html L *p
filma -o film.txt L
