; A game names the next with play; a game playing its own name runs anew.
new int, rounds
new string, s
push "first"
call gameapi, play
game first
method init
  call gameapi, getgamename
  pop s
  call s, print
  call gameapi, getnextgame
  pop s
  call s, print
  push "second"
  call gameapi, play
  call gameapi, getnextgame
  pop s
  call s, print
end method
method exit
  mov s, "first exit"
  call s, print
end method
end game
game second
method init
  add rounds, 1
  pop rounds
  call rounds, print
  cmp rounds, 3
  je done
  push "second"
  call gameapi, play
  ret
done:
  call gameapi, exit
end method
end game
