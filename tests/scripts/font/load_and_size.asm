; A font is closed until loaded; its size is the point size it was loaded at.
new int, n
new font, f
call f, getsize
pop n
call n, print
push "configs/fonts/normal.ttf"
push 21
call f, load
call f, getsize
pop n
call n, print
new font, g
push "configs/fonts/normal.ttf"
push 9
call g, load
call g, getsize
pop n
call n, print
delete f
call g, getsize
pop n
call n, print
