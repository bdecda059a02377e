; Rows go to and come from the string list of a vector, whatever its
; current element type.
new db, t
new vector, v
new vector, w
push -1
push "a"
call t, add
push 0
push "b"
call t, add
push "v"
push 0
call t, copyvec
push "string"
call v, type
call v, print
push "string"
call w, type
push "x"
call w, add
push "y"
call w, add
push "z"
call w, add
push "int"
call w, type
call t, addrow
pop $a
push "w"
push 1
call t, getvec
push "w"
push 0
call t, getvec
call t, print
