; Sorting follows the low 8 bits of the flag; shuffling keeps the elements.
new vector, v
new vector, w
push "begin"
push 3
push 1
push 2
push 5
push 4
call v, beginadd
push 256
call v, sort
call v, print
push 1
call v, sort
call v, print
call v, hash
push 1
call v, sort
call v, print
push "string"
call w, type
push "b"
call w, add
push "ab"
call w, add
push "abc"
call w, add
push 1
call w, sort
call w, print
push 0
call w, sort
call w, print
push "real"
call w, type
push 1.5
call w, add
push -2
call w, add
push 0.5
call w, add
push 7
call w, sort
call w, print
