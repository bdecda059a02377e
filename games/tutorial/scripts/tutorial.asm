; My first game: one room. A robot walks along the floor's walk paths to
; wherever the floor is clicked, a bell rings when it is clicked, a clock
; counts the seconds, a menu pauses, goes on with or resets the clock, and
; a notice board shows a table read from a file. Esc leaves.
; docs/tutorial.md builds it step by step.

game room
method init
  new string, line
  new int, mx
  new int, my
  new int, result
  cthis showroom
  cthis showrobot
  cthis showbell
  cthis showclock
  cthis showmenu
  cthis showboard
  mov line, "the room is ready"
  call line, print
end method

; ---------------------------------------------------------------- the room

method showroom
  new img, wall
  push "pictures/room.png"
  call wall, load
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
  jne click_floor
  cthis choose
  jmp click_done
click_floor:
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
  push "escape"
  call keyboard, iskey
  pop result
  cmp result, 1
  jne key_done
  call gameapi, exit
key_done:
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

push "room"
call gameapi, play
