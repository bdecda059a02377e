; My first game: a room and a hall. A robot walks along the floor's walk
; paths to wherever the floor is clicked, a bell rings when it is clicked, a
; clock counts the seconds, a menu pauses, goes on with or resets the clock,
; and a notice board shows a table read from a file. M puts the menu away
; and brings it back, Esc leaves. A door leads to the hall, where a key
; waits; the open door and the bag are kept for the next run.
; docs/tutorial.md builds it step by step.

game room
method init
  new string, line
  new int, mx
  new int, my
  new int, result
  new int, going
  cthis showroom
  cthis showdoor
  cthis showrobot
  cthis showbell
  cthis showclock
  cthis showmenu
  cthis showboard
  cthis showbag
  cthis enter
  mov line, "the room is ready"
  call line, print
end method

; ---------------------------------------------------------------- the room

method showroom
  new img, wall
  push "pictures/room.png"
  call wall, load
end method

; ---------------------------------------------------------------- the door

; The door to the hall: shut until it is first opened, then open for good.
method showdoor
  new anima, door
  push "data/door.lum"
  call door, load
  push 400
  push 400
  call door, setpos
  mov line, "the door is "
  cmp dooropen, 1
  je door_open
  push "closed"
  call door, play
  add line, "closed"
  pop line
  jmp door_shown
door_open:
  push "open"
  call door, play
  add line, "open"
  pop line
door_shown:
  call line, print
end method

; Back from the hall, the robot stands at the door and the curtain lifts.
method enter
  cmp camefrom, "hall"
  jne enter_done
  push 400
  push 440
  call robot, setpos
  push "standdd"
  call robot, play
  cthis fadein
enter_done:
end method

; A click on the door: the robot walks to the point in front of it.
method todoor
  mov going, 1
  push 400
  push 440
  call floor, goto
  pop result
  mov line, "to the door"
  call line, print
end method

; The robot stands at the door: it opens the first time, and stays open in
; this run and the next; then the curtain falls and the hall follows.
method throughdoor
  mov going, 0
  cmp dooropen, 1
  je through_open
  mov dooropen, 1
  push "saves/door"
  call dooropen, save
  push "opening"
  call door, play
  mov line, "the door opens"
  call line, print
through_open:
  mov camefrom, "room"
  mov nextroom, "hall"
  cthis fadeout
end method

; ---------------------------------------------------------------- the robot

; The robot stands on the floor; the path finder "floor" walks it along the
; walk paths of data/room.ptf.
method showrobot
  new anima, robot
  new path, floor
  new int, rx
  new int, ry
  push "data/robot.lum"
  call robot, load
  push 250
  push 540
  call robot, setpos
  push "standrr"
  call robot, play
  push "data/room.ptf"
  push 10
  push 10
  push 8.0
  push 0
  call floor, build
  push 8.0
  call floor, setanstep
  push "robot"
  call floor, linkanima
  call floor, hide
  push "onfinish"
  push "arrived"
  call floor, addmethod
end method

; Raised by "floor" when the robot reaches the end of its walk.
method arrived
  cthis sayarrived
  cmp going, 1
  jne arrived_done
  cthis throughdoor
arrived_done:
end method

; ---------------------------------------------------------------- the bell

method showbell
  new img, bellup
  new img, bellover
  new img, belldown
  new button, bell
  new snd, ding
  push "pictures/bell_up.png"
  call bellup, load
  push "pictures/bell_over.png"
  call bellover, load
  push "pictures/bell_down.png"
  call belldown, load
  push "bellup"
  push "bellover"
  push "belldown"
  call bell, set
  push 720
  push 20
  call bell, setpos
  push "sounds/ding.wav"
  call ding, load
  push "onclick"
  push "ring"
  call bell, addmethod
end method

; Raised by "bell" when the left button goes down on it.
method ring
  call ding, play
  call ding, isplaying
  pop result
  mov line, "ding! playing: "
  add line, result
  pop line
  call line, print
end method

; ---------------------------------------------------------------- the clock

method showclock
  new text, clock
  new int, seconds
  new timer, tick
  push 20
  push 570
  call clock, setpos
  cthis writeclock
  push "ontick"
  push "nextsecond"
  call tick, addmethod
  push 1000
  call tick, delay
  push 1000000
  call tick, settick
  call tick, play
end method

; Raised by "tick" every second.
method nextsecond
  add seconds, 1
  pop seconds
  cthis writeclock
end method

method writeclock
  mov line, "clock: "
  add line, seconds
  pop line
  push line
  call clock, set
end method

; ---------------------------------------------------------------- the menu

method showmenu
  new menu, clockmenu
  new string, chosen
  push "null"
  push "data/menu.db"
  call clockmenu, addback
  push 0
  call clockmenu, show
  push 20
  push 20
  call clockmenu, move
end method

; Called by mouselclick after a click on one of the menu's items.
method choose
  call clockmenu, getcheckedname
  pop chosen
  call clockmenu, getcheckedtxt
  pop line
  add line, " at "
  pop line
  add line, seconds
  pop line
  add line, " s"
  pop line
  call line, print
  cmp chosen, "1"
  jne choose_not1
  call tick, pause
  jmp choose_done
choose_not1:
  cmp chosen, "2"
  jne choose_not2
  call tick, resume
  jmp choose_done
choose_not2:
  mov seconds, 0
  cthis writeclock
choose_done:
end method

; ---------------------------------------------------------------- the board

; The table data/scores.txt, one line per row, on a notice board.
method showboard
  new img, board
  new db, scores
  new text, boardtext
  new string, cell
  new int, row
  new int, rows
  push "pictures/board.png"
  call board, load
  push 560
  push 100
  call board, setpos
  push "data/scores.txt"
  call scores, loadscript
  call scores, getrowsno
  pop rows
  mov line, "Best walkers"
  mov row, 0
board_next:
  cmp row, rows
  jae board_done
  add line, "\n"
  pop line
  push row
  push 0
  call scores, get
  pop cell
  add line, cell
  pop line
  add line, ": "
  pop line
  push row
  push 1
  call scores, get
  pop cell
  add line, cell
  pop line
  add row, 1
  pop row
  jmp board_next
board_done:
  push line
  call boardtext, set
  push 580
  push 115
  call boardtext, setpos
  call line, print
end method

; ---------------------------------------------------------------- input

; A click on a menu item chooses it; a click on the floor walks the robot
; there. A click on the bell goes to the bell, not here.
method mouselclick
  call mouse, getpx
  pop mx
  call mouse, getpy
  pop my
  push mx
  push my
  push 1
  push 0
  call clockmenu, isin
  pop result
  cmp result, 1
  jne click_door
  cthis choose
  jmp click_done
click_door:
  push mx
  push my
  push 1
  push 0
  call door, isin
  pop result
  cmp result, 1
  jne click_floor
  cthis todoor
  jmp click_done
click_floor:
  mov going, 0
  cmp my, 400
  jl click_done
  push mx
  push my
  call floor, goto
  pop result
  cmp result, 0
  jne click_done
  mov line, "walking to "
  add line, mx
  pop line
  add line, " "
  pop line
  add line, my
  pop line
  call line, print
click_done:
end method

method keydown
  push "m"
  call keyboard, iskey
  pop result
  cmp result, 1
  jne key_notm
  cthis togglemenu
key_notm:
  push "escape"
  call keyboard, iskey
  pop result
  cmp result, 1
  jne key_done
  call gameapi, exit
key_done:
end method

; M: the menu goes away as a whole, and comes back. "hide" -1 hides it;
; "show" 0 alone would not bring it back: "show" -1 does, and "show" 0 then
; opens its first level (it does nothing when that is open).
method togglemenu
  push -1
  call clockmenu, isvisible
  pop result
  cmp result, 1
  jne toggle_show
  push -1
  call clockmenu, hide
  jmp toggle_done
toggle_show:
  push -1
  call clockmenu, show
  push 0
  call clockmenu, show
toggle_done:
end method

method exit
  mov line, "goodbye after "
  add line, seconds
  pop line
  add line, " s"
  pop line
  call line, print
end method
end game

; ---------------------------------------------------------------- the hall

; The second room: the hall lies deeper at the back, where the robot is
; drawn smaller. A key waits on the floor; the door at the back leads to
; the room again. The hall builds its own wall, robot and walk paths: what
; the room made went when the room ended.
game hall
method init
  new string, line
  new int, mx
  new int, my
  new int, result
  new int, going
  new img, wall
  new img, backdoor
  new img, key
  push "pictures/hall.png"
  call wall, load
  push "pictures/hall_door.png"
  call backdoor, load
  push 126
  push 310
  call backdoor, setpos
  push "pictures/key.png"
  call key, load
  push 650
  push 540
  call key, setpos
  push "key"
  call bag, contains
  pop result
  cmp result, 1
  jne init_key
  call key, hide
init_key:
  cthis showrobot
  cthis showbag
  cthis fadein
  mov line, "the hall is ready"
  call line, print
end method

; The robot comes in at the door. The path finder's filter draws it by the
; depth of the walk paths: half its size on the back row.
method showrobot
  new anima, robot
  new path, floor
  new int, rx
  new int, ry
  push "data/robot.lum"
  call robot, load
  push 150
  push 430
  call robot, setpos
  push "standdd"
  call robot, play
  push "data/hall.ptf"
  push 10
  push 10
  push 8.0
  push 0
  call floor, build
  push 8.0
  call floor, setanstep
  push "robot"
  call floor, linkanima
  call floor, linkfilter
  call floor, scalean
  call floor, hide
  push "onfinish"
  push "arrived"
  call floor, addmethod
end method

; Raised by "floor" at the end of a walk: at the key or at the door, the
; robot does what it went there for.
method arrived
  cthis sayarrived
  cmp going, 1
  jne arrived_notkey
  cthis pickup
arrived_notkey:
  cmp going, 2
  jne arrived_done
  cthis leave
arrived_done:
end method

; The key goes into the bag, which its file keeps for the next run.
method pickup
  mov going, 0
  call key, hide
  mov bag, "key"
  push "saves/bag"
  call bag, save
  cthis writebag
end method

; Through the door, back to the room.
method leave
  mov going, 0
  mov camefrom, "hall"
  mov nextroom, "room"
  cthis fadeout
end method

; A click on the key or on the door walks the robot to the point beside
; it; a click on the floor walks it there.
method mouselclick
  call mouse, getpx
  pop mx
  call mouse, getpy
  pop my
  mov going, 0
  push mx
  push my
  push 1
  push 0
  call key, isin
  pop result
  cmp result, 1
  jne click_notkey
  mov going, 1
  push 690
  push 560
  jmp click_walk
click_notkey:
  push mx
  push my
  push 1
  push 0
  call backdoor, isin
  pop result
  cmp result, 1
  jne click_notdoor
  mov going, 2
  push 150
  push 430
  jmp click_walk
click_notdoor:
  cmp my, 400
  jl click_done
  push mx
  push my
click_walk:
  call floor, goto
  pop result
click_done:
end method

method keydown
  push "escape"
  call keyboard, iskey
  pop result
  cmp result, 1
  jne key_done
  call gameapi, exit
key_done:
end method
end game

; ---------------------------------------------------------------- both rooms

; Methods outside every game serve each game that has none of that name;
; what they make belongs to the object they run on, and goes with its game.

; The robot stands where its walk ended and says where that is: both
; rooms' "arrived" begin with it.
method sayarrived
  call floor, stand
  call robot, getposx
  pop rx
  call robot, getposy
  pop ry
  mov line, "arrived at "
  add line, rx
  pop line
  add line, " "
  pop line
  add line, ry
  pop line
  call line, print
end method

; A black curtain over the whole window, its opacity changed by "step" in
; every frame by the timer "fader": fadein lifts it, fadeout lowers it and
; then plays the game named in nextroom.
method curtain
  new img, black
  new timer, fader
  new int, shade
  new int, step
  push 800
  push 600
  push 0
  push 0
  push 0
  push 255
  call black, create
  push 100
  call black, setz
  push "ontick"
  push "fade"
  call fader, addmethod
  push "onfinish"
  push "faded"
  call fader, addmethod
  push 30
  call fader, delay
  push 10
  call fader, settick
end method

method fadein
  cthis curtain
  mov shade, 250
  mov step, -25
  push shade
  call black, transparency
  call fader, play
end method

method fadeout
  cthis curtain
  mov shade, 0
  mov step, 25
  push shade
  call black, transparency
  call fader, play
end method

; Raised by "fader": one step lighter or darker.
method fade
  add shade, step
  pop shade
  push shade
  call black, transparency
end method

; Raised by "fader" after its last step.
method faded
  cmp step, 0
  jl faded_lifted
  push nextroom
  call gameapi, play
  jmp faded_done
faded_lifted:
  call black, hide
faded_done:
end method

; What the bag holds, at the bottom right. Rendered, its words stand as
; close as the font sets them.
method showbag
  new text, bagtext
  new string, bagline
  push 560
  push 570
  call bagtext, setpos
  push 240
  push 240
  push 240
  call bagtext, createtxt
  cthis writebag
end method

method writebag
  mov bagline, "carrying: "
  add bagline, bag
  pop bagline
  call bagline, print
  push bagline
  call bagtext, set
  call bagtext, create
end method

; ---------------------------------------------------------------- what lasts

; Made by the global code, these live until the program ends, through
; every game; the files in saves/ keep the door and the bag for the next
; run.
new int, dooropen
new string, bag
new string, camefrom
new string, nextroom
new int, made
push "saves"
call engine, mkdir
pop made
push "saves/door"
push 0
call dooropen, load
push "saves/bag"
push "nothing"
call bag, load

push "room"
call gameapi, play
