; "get" of a wrong row reports and prints the table.
new db, t
push -1
push "a"
call t, add
push 3
push 0
call t, get
