; Deleting the game's own name unlinks it; the game lives on.
game g
method init
  delete g
  call gameapi, getgamename
  pop s
  call s, print
  delete g
end method
end game
new string, s
push "g"
call gameapi, play
