; Vector files: the count then one element per line; strings come back one
; word per element. "copy" takes the same-typed list of the other vector.
new vector, v
new vector, w
new string, s
push 1
call v, add
push 22
call v, add
push -3
call v, add
push "ints.vec"
call v, save
push "ints.vec"
push ""
call s, load
call s, print
push "ints.vec"
call w, load
call w, print
push "string"
call v, type
push "two words"
call v, add
push "x"
call v, add
push "strs.vec"
call v, save
push "strs.vec"
push ""
call s, load
call s, print
push "string"
call w, type
push "strs.vec"
call w, load
call w, print
push "missing.vec"
call w, load
call w, print
push "int"
call w, type
push "v"
call w, copy
call w, print
push "string"
call w, type
push "v"
call w, copy
call w, print
push "w"
call w, copy
call w, print
