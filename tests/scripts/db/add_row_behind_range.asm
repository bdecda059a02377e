; "add" to the row just past the end is fatal.
new db, t
push -1
push "a"
call t, add
push 1
push "b"
call t, add
