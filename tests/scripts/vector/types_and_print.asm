; Each element type has its own list; switching keeps the others' contents.
new vector, v
new string, s
new int, n
new real, r
push 4
call v, add
push 6
call v, add
push "string"
call v, type
call v, getvectype
pop s
call s, print
call v, size
pop n
call n, print
push "hello"
call v, add
push 12
call v, add
call v, print
push 1
call v, get
pop s
call s, print
push "real"
call v, type
push 2.5
call v, add
push 3
call v, add
push 0.125
call v, add
push 1
call v, get
pop r
call r, print
call v, print
push "int"
call v, type
call v, print
call v, free
call v, size
pop n
call n, print
push "string"
call v, type
call v, size
pop n
call n, print
push "real"
call v, type
call v, size
pop n
call n, print
