start </dev/null >/dev/null
set var ndischi = 3
tbreak torredihanoi
continue
break torredihanoi.cpp:9
echo ==disegna\n
filma -o hanoi_demo.html origine ausiliario destinazione
echo ==fine\n
start </dev/null >/dev/null
set var ndischi = 2
tbreak torredihanoi
continue
break muovidisco
echo ==disegna\n
filma --righe -o torredihanoi-line-by-line.html origine ausiliario destinazione
echo ==fine\n
