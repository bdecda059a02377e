; "setfont" takes a script font and ignores other objects; "buildbkg"
; measures with the text's own font; "load" reads a picture into the text;
; "loadtxt" reads the text from a file.
new font, f
new text, t
new text, y
new text, p
new img, pic
new int, notfont
new int, n
new int, h1
new int, h2
new int, d
new string, s
push "configs/fonts/normal.ttf"
push 40
call f, load
push "abc"
call t, set
push 0
push 0
push 0
call t, createtxt
call t, geth
pop h1
push "f"
call t, setfont
call t, create
call t, geth
pop h2
sub h2, h1
pop d
call d, sgn
pop d
call d, print
push "notfont"
call t, setfont
call t, create
call t, geth
pop h1
sub h1, h2
pop d
call d, print
push "f"
call y, setfont
push "a b"
call y, set
push 0
push 0
push 0
push 255
call y, buildbkg
call y, getw
pop n
call n, print
call y, geth
pop n
call n, print
push 12
push 9
push 1
push 2
push 3
push 255
call pic, create
push "box.bmp"
call pic, save
push "box.bmp"
call p, load
call p, getw
pop n
call n, print
call p, geth
pop n
call n, print
push "words.txt"
push 0
push 0
push 0
call p, loadtxt
call p, get
pop s
call s, print
push "words.txt"
push 9
push 9
push 9
call y, loadtxt
call y, get
pop s
call s, print
call engine, getstack
pop n
call n, print
