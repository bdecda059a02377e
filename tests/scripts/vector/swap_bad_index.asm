; "swap" checks both indexes.
new vector, v
push 1
call v, add
push 0
push 3
call v, swap
