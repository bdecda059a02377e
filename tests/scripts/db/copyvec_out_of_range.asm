; "copyvec" of a row past the end.
new db, t
new vector, v
push "v"
push 0
call t, copyvec
