; A played action raises "onsetframe" for each frame and "onstart" when it
; starts; each frame's end raises "onendframe"; a non-looping action stops
; on its last frame with "onfinish" and hides itself when its hide flag is
; set. A frame with a sound sends "play" to the object of that name before
; "onsetframe". "playsmooth" and "hashplay" take any value that is not a
; string as a number.
game g
method init
  new anima, a
  new timer, ping
  push "onstart"
  push "pinged"
  call ping, addmethod
  push "walk.lum"
  call a, load
  push "onstart"
  push "started"
  call a, addmethod
  push "onsetframe"
  push "frameset"
  call a, addmethod
  push "onendframe"
  push "frameended"
  call a, addmethod
  push "onfinish"
  push "finished"
  call a, addmethod
  push 1.0
  call a, playsmooth
  call a, getsmooth
  pop n
  call n, print
  push 0
  call a, setsmooth
  push 1.0
  call a, hashplay
  push 2.0
  call a, play
  call a, actionname
  pop s
  call s, print
end method
method pinged
  mov s, "ping"
  call s, print
end method
method started
  mov s, "started"
  call s, print
end method
method frameset
  call a, framename
  pop s
  call s, print
end method
method frameended
  mov s, "end of"
  call s, print
  call a, framename
  pop s
  call s, print
end method
method finished
  mov s, "finished"
  call s, print
  call a, isvisible
  pop n
  call n, print
  call gameapi, exit
end method
end game
new int, n
new string, s
push "g"
call gameapi, play
