; A fatal error in a method that a loop calls again and again reports the
; called object, the method called last and the one running.
class k
method helper
end method
method other
end method
method m
  call o, helper
  cmp round, 1
  jne fine
  push nosuch
fine:
  call o, other
end method
end class
game g
method init
  new int, round
  new k, o
again:
  call o, m
  add round, 1
  pop round
  cmp round, 3
  jl again
end method
end game
push "g"
call gameapi, play
