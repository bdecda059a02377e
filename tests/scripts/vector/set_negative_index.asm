; "set" checks its index.
new vector, v
push -1
push 5
call v, set
