; The behaviour format: words, literals keeping their opening quote,
; bracket cells, comments and brace groups gathering lines into one row.
; In the file text below "|" stands for a line feed and "~" for a quote.
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
mov s, "walk(10,20) ~hi there~ ; x|(a)|# comment|{|  one two|  three|}|word # rest||{ a|b }|c d|e|"
push "|"
push lf
call s, change
push "~"
push q
call s, change
push "in.beh"
call s, save
push ";"
call t, setseparator
push "in.beh"
call t, loadbeh
call t, print
push "out.db"
call t, save
push "out.db"
push ""
call s, load
call s, print
