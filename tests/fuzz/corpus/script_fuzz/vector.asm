new vector, v
push "int"
call v, type
push 5
call v, add
push -2
call v, add
push 1
call v, sort
push "v.vec"
call v, save
push "v.vec"
call v, load
call v, print
