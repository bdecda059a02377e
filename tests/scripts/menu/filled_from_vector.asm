; A script's menu filled from a vector file: "null" names the menu itself.
; Entry 0 is the direction, entry 1 the side, the rest become items named by
; their number; paging keeps the menu where it was moved to.
new menu, m
new vector, v
new string, s
new int, n
push "string"
call v, type
push "bottom"
call v, add
push "right"
call v, add
push "one"
call v, add
push "two"
call v, add
push "three"
call v, add
push "four"
call v, add
push "five"
call v, add
push "items.vec"
call v, save
push "null"
push "items.vec"
call m, addback
push 11
push 11
push 1
push 1
call m, isin
pop n
call n, print
push 0
call m, show
push 10
push 10
call m, move
push 11
push 11
push 1
push 1
call m, isin
pop n
call n, print
call m, getcheckedname
pop s
call s, print
call m, getcheckedtxt
pop s
call s, print
push "1"
call m, on
pop n
call n, print
push "one"
call m, on
pop n
call n, print
push "5"
call m, isvisible
pop n
call n, print
push "null"
push 3
call m, rewind
call m, getcheckedname
pop s
call s, print
push "5"
call m, isvisible
pop n
call n, print
push "null"
call m, next
push 11
push 11
push 1
push 1
call m, isin
pop n
call n, print
call m, getcheckedtxt
pop s
call s, print
push 11
push 11
push 1
push 1
call m, isin
pop n
call n, print
call m, getcheckedtxt
pop s
call s, print
push -1
call m, hide
push 11
push 11
push 1
push 1
call m, isin
pop n
call n, print
