; "addbegin" to a row past the end is fatal.
new db, t
push 0
push "b"
call t, addbegin
