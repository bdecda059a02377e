new filter, f
new int, n
push "room"
call gameapi, play
game room
method init
  new img, pic
  push 30
  push 12
  push 9
  push 9
  push 9
  push 255
  call pic, create
  push "pic"
  call f, link
  push 0.5
  call f, setzoom
  call f, getw
  pop n
  call n, print
  delete pic
  call gameapi, exit
end method
method exit
  call f, getw
  pop n
  call n, print
  call f, getzoomx
  pop n
  call n, print
  push "pic"
  call f, link
  call f, getw
  pop n
  call n, print
end method
end game
