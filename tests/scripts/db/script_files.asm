; The blank format: a blank after every cell, no header; on loading, gaps
; split cells, "#" lines and blank lines make no row.
new db, t
new string, s
new string, lf
push ";"
call t, setseparator
push -1
push "a"
call t, add
push 0
push "b"
call t, add
call t, addrow
push -1
push "c"
call t, add
push "t.txt"
call t, savescript
push "t.txt"
push ""
call s, load
call s, print
push "t.txt"
call t, save
push "t.txt"
push ""
call s, load
call s, print
mov lf, "x"
push 0
push 10
call lf, setbyte
mov s, "  a  b|#comment|   |one|"
push "|"
push lf
call s, change
push "in.txt"
call s, save
push "in.txt"
call t, loadscript
call t, print
push "out.db"
call t, save
push "out.db"
push ""
call s, load
call s, print
