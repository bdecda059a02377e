; A new vector holds ints and is empty; values pushed after "begin" go to
; the front in the order pushed.
new vector, v
new string, s
new int, n
call v, getvectype
pop s
call s, print
call v, size
pop n
call n, print
call v, empty
pop n
call n, print
push 9
call v, add
push "begin"
push 1
push 2
push 3
call v, beginadd
call v, print
call v, size
pop n
call n, print
call v, empty
pop n
call n, print
