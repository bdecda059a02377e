; Objects that the handler of one of their own engine events has deleted:
; an animation at the end of a frame, a timer on its tick. Each leaves the
; scene and its name at once, hears no further event, and is destroyed
; when the frame is over, never while the engine code that raised the
; event still runs on it.
game g
method init
  new anima, a
  new timer, t
  new timer, e
  push "spin.lum"
  call a, load
  push "onendframe"
  push "ended"
  call a, addmethod
  push "onsetframe"
  push "framed"
  call a, addmethod
  push 0
  call a, play
  push "ontick"
  push "ticked"
  call t, addmethod
  push "onfinish"
  push "ticked"
  call t, addmethod
  push 2
  call t, setcycle
  push 5
  call t, settick
  call t, play
  push "onfinish"
  push "over"
  call e, addmethod
  push 6
  call e, setcycle
  push 1
  call e, settick
  call e, play
end method
method framed
  call a, framename
  pop s
  call s, print
end method
method ended
  mov s, "end of frame"
  call s, print
  call g, dropa
end method
method ticked
  mov s, "tick"
  call s, print
  call g, dropt
end method
method dropa
  delete a
end method
method dropt
  delete t
end method
method over
  push "a"
  call g, hasvar
  pop n
  call n, print
  push "t"
  call g, hasvar
  pop n
  call n, print
  call gameapi, exit
end method
end game
new string, s
new int, n
push "g"
call gameapi, play
