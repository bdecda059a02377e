; The header format: the separator between apostrophes, every cell followed
; by the separator, no line feed after the last row.
new db, t
new db, u
new string, s
push ";"
call t, setseparator
push -1
push "a"
call t, add
push 0
push "b"
call t, add
push -1
push "c"
call t, add
push "t.db"
call t, save
push "t.db"
push ""
call s, load
call s, print
push "t.db"
call u, load
call u, print
push "u.db"
call u, save
push "u.db"
push ""
call s, load
call s, print
; a cell holding the separator splits on loading
push 0
push 0
push "x;y"
call u, set
push "u.db"
call u, save
push "u.db"
call u, load
call u, print
; an empty table writes only the header and keeps its separator
new db, e
push ","
call e, setseparator
push "e.db"
call e, save
push "e.db"
push ""
call s, load
call s, print
push "e.db"
call t, load
call t, print
push -1
push "p"
call t, add
push 0
push "q"
call t, add
push "t2.db"
call t, save
push "t2.db"
push ""
call s, load
call s, print
