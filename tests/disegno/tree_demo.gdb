break AGGIUNGINODO
run </dev/null >/dev/null
echo ==disegna\n
disegna T
disegna -o tree.dot T
disegna -o tree.png T
echo ==fine\n
delete
finish
echo ==disegna\n
disegna T
disegna -o tree-after-the-walk.dot T
disegna -o tree-after-the-walk.png T
echo ==fine\n
