break muovidisco
run </dev/null >/dev/null
print from
print to
print *from
print from->succ
delete
frame 21
finish
print origine
print ausiliario
print destinazione
