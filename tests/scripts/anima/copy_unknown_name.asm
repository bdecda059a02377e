; "copy" names the animation to copy from; a name that is no variable ends
; the program.
game g
method init
  new anima, a
  push "nobody"
  call a, copy
  mov s, "not reached"
  call s, print
end method
end game
new string, s
push "g"
call gameapi, play
