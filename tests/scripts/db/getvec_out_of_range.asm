; "getvec" into a row past the end.
new db, t
new vector, v
push "v"
push 2
call t, getvec
