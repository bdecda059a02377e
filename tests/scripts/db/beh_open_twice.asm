; A brace opened inside an open group ("|" is a line feed).
new db, t
new string, s
new string, lf
new string, q
mov lf, "x"
push 0
push 10
call lf, setbyte
mov q, "x"
push 0
push 34
call q, setbyte
mov s, "{ a|{ b|}|"
push "|"
push lf
call s, change
push "~"
push q
call s, change
push "in.beh"
call s, save
push "in.beh"
call t, loadbeh
call t, print
