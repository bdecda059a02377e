; Names resolve in the current object, its owner, the object map, the
; global object, then the running game.
class inner
method show
  call name, print
end method
method init
end method
end class
class outer
method init
  new string, name
  mov name, "outer's own"
  new inner, kid
end method
method run
  call kid, show
end method
end class
module name
method print
  push "module in the object map"
  pop msg
  call msg, print
end method
end module
game g
method init
  new string, onlygame
  mov onlygame, "game's variable"
  new outer, o
  call o, run
  call lone, show
  call gameapi, exit
end method
end game
class seeker
method show
  call name, print
  call onlygame, print
end method
end class
new string, msg
new seeker, lone
push "g"
call gameapi, play
