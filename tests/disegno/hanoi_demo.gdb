break muovidisco
run </dev/null >/dev/null
frame 22
echo ==disegna\n
disegna origine ausiliario destinazione
disegna -o pegs-at-the-first-move.dot origine ausiliario destinazione
disegna -o pegs-at-the-first-move.png origine ausiliario destinazione
echo ==fine\n
delete
frame 21
finish
echo ==disegna\n
disegna origine ausiliario destinazione
disegna (lista)destinazione
disegna -o ring.dot (lista)destinazione
disegna -o ring.png (lista)destinazione
echo ==fine\n
