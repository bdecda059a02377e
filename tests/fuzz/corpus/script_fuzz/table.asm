new db, t
push ";"
call t, setseparator
push -1
push "a"
call t, add
call t, addrow
push 0
push "b"
call t, add
push "t.db"
call t, save
push "t.db"
call t, load
push "t.txt"
call t, savescript
push "t.txt"
call t, loadscript
call t, print
