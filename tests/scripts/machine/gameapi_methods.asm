new string, s
new int, n
push "g"
call gameapi, play
game g
method init
  call gameapi, ispaused
  pop n
  call n, print
  call gameapi, pause
  call gameapi, pause
  call gameapi, ispaused
  pop n
  call n, print
  call gameapi, resume
  call gameapi, ispaused
  pop n
  call n, print
  push 40
  call gameapi, setsndvol
  call gameapi, getsndvol
  pop n
  call n, print
  push 150
  call gameapi, setsndvol
  call gameapi, getsndvol
  pop n
  call n, print
  push 30
  call gameapi, setmusicvol
  call gameapi, getmusicvol
  pop n
  call n, print
  call gameapi, ismusicplaying
  pop n
  call n, print
  call gameapi, stdbkg
  call gameapi, freestdbkg
  call gameapi, getgamename
  pop s
  call s, print
  call gameapi, exit
  call gameapi, getnextgame
  pop s
  call s, print
end method
end game
