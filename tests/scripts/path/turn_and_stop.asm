; "stop" with notice raises "onfinish" at once; "stand" shows the standing
; action of the direction the walker faced. "turn" turns one eighth per
; frame, standing, then takes the walk action and finishes. A code that is
; no direction is refused.
game g
method init
  new anima, w
  push "walker.lum"
  call w, load
  push "standuu"
  call w, play
  new path, p
  push "floor.ptf"
  push 10
  push 10
  push 2.0
  push 0
  call p, build
  push "w"
  call p, linkanima
  push "onfinish"
  push "finished"
  call p, addmethod
  push 40
  push 0
  call p, goto
  pop n
  call n, print
  call w, actionname
  pop s
  call s, print
  push 1
  call p, stop
  call p, stand
  call w, actionname
  pop s
  call s, print
  push "xx"
  call p, turn
  call p, iswalking
  pop n
  call n, print
  push "rd"
  call p, turn
  call p, iswalking
  pop n
  call n, print
end method
method finished
  add count, 1
  pop count
  mov s, "finished"
  call s, print
  call w, actionname
  pop s
  call s, print
  cmp count, 2
  jne notyet
  call gameapi, exit
notyet:
end method
end game
new int, n
new int, count
new string, s
push "g"
call gameapi, play
