game g
method init
  new int, a
  new int, b
  push "same"
  call a, addtogamevars
  push "same"
  call b, addtogamevars
end method
end game
push "g"
call gameapi, play
