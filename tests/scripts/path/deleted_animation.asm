; An animation deleted while it walks, or while it is only linked, is
; forgotten by the path finder: no walk, no way, and "goto" finds no route.
new int, n
new anima, w
push "walker.lum"
call w, load
new path, p
push "floor.ptf"
push 10
push 10
push 2.0
push 0
call p, build
push "w"
call p, linkanima
push 40
push 0
call p, goto
pop n
call n, print
call p, iswalking
pop n
call n, print
delete w
call p, iswalking
pop n
call n, print
push 40
push 0
call p, iswayto
pop n
call n, print
push 40
push 0
call p, goto
pop n
call n, print
new anima, v
push "walker.lum"
call v, load
push "v"
call p, linkanima
push 40
push 0
call p, iswayto
pop n
call n, print
delete v
push 40
push 0
call p, iswayto
pop n
call n, print
