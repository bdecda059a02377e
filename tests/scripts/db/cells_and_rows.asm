; Adding, reading and changing cells and rows.
new db, t
new int, n
new string, s
push -1
push "a"
call t, add
push 0
push "b"
call t, add
call t, getrowsno
pop n
call n, print
push 0
call t, getcolsno
pop n
call n, print
push 0
push 1
call t, get
pop s
call s, print
push 0
push 0
push "z"
call t, set
push 5
push 0
push "ignored"
call t, set
call t, addrow
pop n
call n, print
push 1
push "second"
call t, add
push 1
push "first"
call t, addbegin
call t, addbeginrow
pop n
call n, print
push 0
push "top"
call t, add
call t, print
push "first"
call t, findbyrow
pop n
call n, print
push "b"
call t, findbyrow
pop n
call n, print
push -1
call t, rowinrange
pop n
call n, print
push 2
call t, rowinrange
pop n
call n, print
push 3
call t, rowinrange
pop n
call n, print
push 0
push 2
call t, swap
push 0
push 7
call t, swap
call t, print
push 0
push 0
call t, removeat
push 0
push 9
call t, removeat
push 9
push 0
call t, removeat
call t, print
push 1
push 1
push 5
call t, removen
push 1
push -1
push 5
call t, removen
call t, print
push 0
call t, removerow
push 4
call t, removerow
call t, readonly
call t, print
call t, free
call t, getrowsno
pop n
call n, print
