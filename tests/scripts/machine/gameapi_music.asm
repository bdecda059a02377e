; The music methods with a file that is not there: each is harmless.
new int, n
push "g"
call gameapi, play
game g
method init
  push "nomusic.ogg"
  call gameapi, loadmusic
  call gameapi, startmusic
  push 100
  call gameapi, fadeinmusic
  call gameapi, pausemusic
  call gameapi, resumemusic
  push 50
  call gameapi, fadeoutmusic
  push 0
  call gameapi, endmusic
  push "nomusic.ogg"
  call gameapi, playmusic
  call gameapi, stopmusic
  call gameapi, ismusicplaying
  pop n
  call n, print
  call gameapi, exit
end method
end game
