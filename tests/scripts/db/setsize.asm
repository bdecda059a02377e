; "setsize" fills the table with "0" cells and resets the separator.
new db, t
new string, s
push ";"
call t, setseparator
push 2
push 3
call t, setsize
call t, print
push "size.db"
call t, save
push "size.db"
push ""
call s, load
call s, print
push 2
push -1
call t, setsize
call t, print
push -1
push -1
call t, setsize
call t, print
push -1
push 2
call t, setsize
call t, print
