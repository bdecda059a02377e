push "one"
call gameapi, play
push "two"
call gameapi, play
game one
method init
  push "one ran"
  pop s
  call s, print
  call gameapi, exit
end method
end game
game two
method init
  call gameapi, getgamename
  pop s
  call s, print
  call gameapi, exit
end method
end game
new string, s
