; Queries of the path class on a graph read from a file: ways and
; routes, the vertices of the segment and the route, ids, enabling,
; placement, directions, prefixes and flags.
new int, n
new real, r
new string, s
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
; no animation linked: no way, no walk
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
push "w"
call p, linkanima
; a way exists as soon as an animation is linked
push 40
push 0
call p, iswayto
pop n
call n, print
push 40
push 20
call p, length
pop r
call r, print
push 40
push 20
call p, goto
pop n
call n, print
call p, iswalking
pop n
call n, print
call p, getidgo
pop n
call n, print
call p, getidgopath
pop n
call n, print
call p, getidan
pop n
call n, print
call p, getidanpath
pop n
call n, print
call p, getidan2
pop n
call n, print
call p, getidan2path
pop n
call n, print
push 1
call p, getanver
pop n
call n, print
push 3
call p, getanver
pop n
call n, print
push 4
call p, getanver
pop n
call n, print
push 1
call p, getgover
pop n
call n, print
push 0
push 5
push 2
call p, getfromver
pop n
call n, print
push 1
push 1
push -1
call p, getfromver
pop n
call n, print
push 9
push 1
push -1
call p, getfromver
pop n
call n, print
; a disabled vertex reads as none
push 6
call p, disable
push 6
call p, isenabled
pop n
call n, print
call p, getidan2
pop n
call n, print
call p, getidan2path
pop n
call n, print
push 6
call p, enable
push 6
call p, isenabled
pop n
call n, print
push 99
call p, isenabled
pop n
call n, print
push 7
call p, getbyname
pop n
call n, print
push 99
call p, getbyname
pop n
call n, print
push 3
call p, getxver
pop n
call n, print
push 3
call p, getyver
pop n
call n, print
push 44
call p, getxver
pop n
call n, print
push 100
push 50
call p, setpos
call p, getposx
pop n
call n, print
call p, getpx
pop n
call n, print
call p, getposy
pop n
call n, print
call p, getpy
pop n
call n, print
push 2
call p, getxver
pop n
call n, print
push -100
push -50
call p, move
call p, getpx
pop n
call n, print
push 1
push 2
call p, shift
push 0
call p, getxver
pop n
call n, print
push 0
call p, getyver
pop n
call n, print
push 3
push 4
call p, getidpath
pop n
call n, print
; directions
push 10
push 5
call p, vecdir
pop s
call s, print
push 10
push -3
call p, vecdir
pop s
call s, print
push 10
push 12
call p, vecdir
pop s
call s, print
push -10
push -5
call p, vecdir
pop s
call s, print
push 0
push 0
call p, vecdir
pop s
call s, print
push 1
call p, setmovetype
call p, getmovetype
pop n
call n, print
push 0
push -7
call p, vecdir
pop s
call s, print
push 5
push 70
call p, vecdir
pop s
call s, print
push 0
call p, setmovetype
call p, getbase
pop s
call s, print
push "walk"
call p, setbase
call p, getbase
pop s
call s, print
call p, canturn
pop n
call n, print
push 1
call p, letturn
call p, canturn
pop n
call n, print
push 4
call p, setz
call p, getz
pop n
call n, print
push 0
call p, stop
call p, iswalking
pop n
call n, print
; the vertex excluded is passed over as the target once
push 3
call p, excludev
push 40
push 20
call p, goto
pop n
call n, print
call p, getidgo
pop n
call n, print
push 40
push 20
call p, goto
pop n
call n, print
call p, getidgo
pop n
call n, print
call p, unlinkanima
push 40
push 0
call p, iswayto
pop n
call n, print
