; Loading a definition and asking an animation about its actions, frames,
; place and pixels; action arguments by number and by name.
new anima, a
new anima, b
new int, n
new string, s
push "walk.lum"
call a, load
call a, nofactions
pop n
call n, print
call a, actionname
pop s
call s, print
; an int argument is not used: the current action
push 5
call a, actionnr
pop n
call n, print
push "jump"
call a, actionnr
pop n
call n, print
push "nope"
call a, actionnr
pop n
call n, print
push -1
call a, nofframes
pop n
call n, print
push 1
call a, nofframes
pop n
call n, print
push "jump"
call a, nofframes
pop n
call n, print
push 7
call a, nofframes
pop n
call n, print
call a, getdelay
pop n
call n, print
push -1
call a, isplaying
pop n
call n, print
push 1
call a, play
push -1
call a, isplaying
pop n
call n, print
push 0
call a, isplaying
pop n
call n, print
push "jump"
call a, isplaying
pop n
call n, print
call a, framename
pop s
call s, print
push 10
push 20
call a, setpos
call a, getpx
pop n
call n, print
call a, getpy
pop n
call n, print
call a, getw
pop n
call n, print
call a, geth
pop n
call n, print
call a, getpos
pop n
call n, print
pop n
call n, print
; -1 as action: only the frame of the current action changes
push -1
push 1
call a, setframe
call a, framename
pop s
call s, print
call a, actionname
pop s
call s, print
push "walk"
push 1
call a, setframe
call a, actionname
pop s
call s, print
call a, framenr
pop n
call n, print
call a, getpx
pop n
call n, print
push 1
call a, nameofaction
pop s
call s, print
push 5
call a, nameofaction
pop s
call s, print
push "walk"
push 2
call a, nameofframe
pop s
call s, print
push 0
push 9
call a, nameofframe
pop s
call s, print
push 0
push "w1"
call a, nrofframe
pop n
call n, print
push "jump"
push "j1"
call a, nrofframe
pop n
call n, print
push "jump"
push "zz"
call a, nrofframe
pop n
call n, print
; the red picture of frame w1 at 12,23
push 13
push 24
call a, getrgba
pop n
call n, print
pop n
call n, print
pop n
call n, print
pop n
call n, print
push 0
push 0
call a, getrgb
pop n
call n, print
pop n
call n, print
pop n
call n, print
push 13
push 24
push 0
push 0
call a, isin
pop n
call n, print
push 5
call a, setz
call a, getz
pop n
call n, print
call a, getsmooth
pop n
call n, print
push 1
call a, setsmooth
call a, getsmooth
pop n
call n, print
push 0
call a, setsmooth
; stopping the "jump" action hides the animation
push "jump"
call a, play
call a, isvisible
pop n
call n, print
push 0
call a, stop
call a, isvisible
pop n
call n, print
push -1
call a, isplaying
pop n
call n, print
call a, show
; copies
push "a"
call b, copy
call b, nofactions
pop n
call n, print
push "n"
call b, copy
call b, nofactions
pop n
call n, print
push "a"
call b, equal
pop n
call n, print
; merging another definition
push "fly.lum"
call a, subload
call a, nofactions
pop n
call n, print
push 2
call a, nameofaction
pop s
call s, print
push "land"
call a, play
call a, framename
pop s
call s, print
call a, getw
pop n
call n, print
push "fly"
call a, nofframes
pop n
call n, print
push 2
call a, setdelay
call a, getdelay
pop n
call n, print
