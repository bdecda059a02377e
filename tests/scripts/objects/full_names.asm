class door
method init
  cthis buildfullname
end method
end class
class room
method init
  new door, door
end method
end class
game g
method init
  new room, room
  mov s, "groomdoor"
  call s, isptr
  pop n
  call n, print
  call groomdoor, getfullname
  pop s
  call s, print
  call groomdoor, getbuildername
  pop s
  call s, print
  call gameapi, exit
end method
end game
new string, s
new int, n
push "g"
call gameapi, play
