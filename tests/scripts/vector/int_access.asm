; Reading, writing and searching an int vector.
new vector, v
new int, n
push 5
call v, add
push 7
call v, add
push 5
call v, add
push 8
call v, add
push 1
call v, get
pop n
call n, print
push 2
push 42
call v, set
call v, print
push 8
call v, find
pop n
call n, print
push 99
call v, find
pop n
call n, print
push 7
call v, contains
pop n
call n, print
push 6
call v, contains
pop n
call n, print
push 5
push 1
call v, findfrom
pop n
call n, print
push 5
push 0
call v, findfrom
pop n
call n, print
push 5
push 10
call v, findfrom
pop n
call n, print
push 7
call v, remove
push 100
call v, remove
call v, print
push 3
call v, addbegin
call v, first
pop n
call n, print
call v, last
pop n
call n, print
push 0
push 3
call v, swap
call v, print
push 1
call v, removeat
call v, print
call v, pop
pop n
call n, print
call v, print
push 3
push 4
call v, resize
call v, print
