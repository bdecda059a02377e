new text, t
new int, n
push "nosuch"
call t, setfont
