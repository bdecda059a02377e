; The demo game: a title that hands over to a small room. Click in the room
; to count clicks; the right button or any key leaves.

; Keeps the score for every game of the demo.
module score
method init
  new int, clicks
  new string, line
end method
method add
  add clicks, 1
  pop clicks
end method
method report
  mov line, "clicks so far: "
  add line, clicks
  pop line
  call line, print
end method
end module

game title
method init
  new string, msg
  mov msg, "velkor demo: click in the room, right-click or a key to leave"
  call msg, to_u
  pop msg
  call msg, print
  push "room"
  call gameapi, play
end method
method exit
  call gameapi, getnextgame
  pop msg
  call msg, print
end method
end game

game room
method init
  new real, angle
  new int, steps
  new string, note
  call gameapi, stdbkg
  mov angle, 30.0
  call angle, sin
  pop angle
  call angle, print
  mov steps, 2
  push 10
  call steps, pow
  pop steps
  call steps, print
  call gameapi, getgamename
  pop note
  call note, print
  cthis showroom
end method
; The room's pictures: the wall and floor, a lamp turning through a
; filter, and a marker that follows the mouse.
method showroom
  new img, wall
  new img, lamp
  new img, marker
  new filter, lampfx
  new timer, spin
  new int, flag
  new int, mx
  new int, my
  new string, hit
  new real, zoom
  push "pictures/room.png"
  call wall, load
  push "pictures/lamp.png"
  call lamp, load
  push 368
  push 268
  call lamp, setpos
  push 2
  call lamp, setz
  push "lamp"
  call lampfx, link
  push 210
  call lampfx, setopacity
  push "pictures/marker.png"
  call marker, load
  push 5
  call marker, setz
  push -100
  push -100
  call marker, setpos
  push "ontick"
  push "spinlamp"
  call spin, addmethod
  push 1
  call spin, setcycle
  push 1000000
  call spin, settick
  call spin, play
  push "saves/autoplay"
  call engine, fileexist
  pop flag
  cmp flag, 1
  jne showroom_done
  cthis autoplay
showroom_done:
end method
method spinlamp
  push 3.0
  call lampfx, rotate
end method
method mousemove
  call mouse, getpx
  pop mx
  call mouse, getpy
  pop my
  sub mx, 8
  pop mx
  sub my, 8
  pop my
  push mx
  push my
  call marker, setpos
end method
method mouselclick
  call score, add
  call score, report
  call mouse, getpx
  call mouse, getpy
  push 1
  push 1
  push 1
  push 4
  call engine, getimg
  pop hit
  cmp hit, "lamp"
  jne click_done
  call lampfx, getzoomx
  pop zoom
  cmp zoom, 1.0
  je zoom_up
  push 1.0
  call lampfx, setzoom
  jmp click_done
zoom_up:
  push 1.5
  call lampfx, setzoom
click_done:
end method
; Self-play when saves/autoplay exists: the program moves the mouse and
; hands the moves and a click on the lamp to the room's own mouse hooks,
; then saves the scene as saves/demo_shot.bmp and ends the demo.
method autoplay
  new timer, step1
  new timer, step2
  push "onfinish"
  push "autowarp"
  call step1, addmethod
  push "onfinish"
  push "autoshot"
  call step2, addmethod
  push 3
  call step1, setcycle
  call step1, play
end method
method autowarp
  push 400
  push 300
  call mouse, setpos
  call room, mouselclick
  push 600
  push 150
  call mouse, setpos
  call room, mousemove
  push 5
  call step2, setcycle
  call step2, play
end method
method autoshot
  new img, shot
  push 800
  push 600
  push 0
  push 0
  push 0
  push 255
  call shot, create
  call shot, hide
  call shot, blitscreen
  push "saves/demo_shot.bmp"
  call shot, save
  call gameapi, exit
end method
method mouserclick
  call gameapi, exit
end method
method keydown
  call gameapi, exit
end method
method appactivate
  mov note, "window active"
  call note, print
end method
method exit
  call gameapi, freestdbkg
  call score, report
end method
end game

push "title"
call gameapi, play
