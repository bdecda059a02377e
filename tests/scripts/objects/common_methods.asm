class door
method init
end method
method open
  cthis methodname
  pop s
  call s, print
end method
end class
class room
method init
  new door, door
  new int, counter
end method
end class
game g
method init
  new room, room
  call room, getname
  pop s
  call s, print
  call room, gettype
  pop s
  call s, print
  call room, getbuildername
  pop s
  call s, print
  call room, getfullname
  pop s
  call s, print
  call room, printvars
  call room, printmethods
  push "door"
  call room, hasvar
  pop n
  call n, print
  call $a, print
  push "window"
  call room, hasvar
  pop n
  call n, print
  push "init"
  call room, hasmet
  pop n
  call n, print
  push "open"
  call room, hasmet
  pop n
  call n, print
  push "open"
  call room, hasaddedmet
  pop n
  call n, print
  push "opened"
  push "announce"
  call room, addmethod
  push "opened"
  call room, hasaddedmet
  pop n
  call n, print
  call room, opened
  push "notascript"
  push "getname"
  call room, addmethod
  push "notascript"
  call room, hasaddedmet
  pop n
  call n, print
  push "chamber"
  call room, setname
  call room, getname
  pop s
  call s, print
  call s, gettype
  pop s
  call s, print
  push 1
  popax
  call $a, gettype
  pop s
  call s, print
  call gameapi, gettype
  pop s
  call s, print
  call g, gettype
  pop s
  call s, print
  call g, getbuildername
  pop s
  call s, print
  call g, getfullname
  pop s
  call s, print
  call gameapi, exit
end method
method announce
  push "announce runs as"
  pop s
  call s, print
  cthis methodname
  pop s
  call s, print
  cthis getname
  pop s
  call s, print
end method
end game
new string, s
new int, n
push "g"
call gameapi, play
