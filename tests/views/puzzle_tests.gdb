break ultimolista
run --gtest_filter=ListaEPila.RandomEditsMatchAVector </dev/null >/dev/null
print L
