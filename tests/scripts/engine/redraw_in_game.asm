new int, n
push "room"
call gameapi, play
game room
method init
  new img, pic
  new img, shot
  push 10
  push 10
  push 0
  push 0
  push 255
  push 255
  call pic, create
  push 30
  push 30
  push 1
  push 1
  push 1
  push 255
  call shot, create
  call shot, hide
  call engine, redraw
  call engine, redrawnoblit
  call engine, getticks
  pop n
  call shot, blitscreen
  push 5
  push 5
  call shot, getrgb
  pop n
  call n, print
  pop n
  pop n
  call gameapi, exit
end method
end game
