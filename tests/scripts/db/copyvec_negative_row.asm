; "copyvec" of a negative row is refused like one past the end.
new db, t
new vector, v
call t, addrow
pop $a
push "v"
push -1
call t, copyvec
