; "get" of a wrong column reports and prints the table.
new db, t
push -1
push "a"
call t, add
push 0
push "b"
call t, add
push 0
push 2
call t, get
