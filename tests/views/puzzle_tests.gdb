break ultimolista
run --gtest_filter=lista.ultimolista </dev/null >/dev/null
print L
