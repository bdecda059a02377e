; "set" of a wrong column in a valid row fails the position check.
new db, t
push -1
push "a"
call t, add
push 0
push 4
push "x"
call t, set
