; A walker sent round an L of four vertices: "goto" plans the route,
; "onvisit" comes at every vertex (the start on the first frame) and
; "onfinish" at the last; "stand" then shows the standing frame of the last
; direction walked.
game g
method init
  new anima, w
  push "walker.lum"
  call w, load
  push "standrr"
  call w, play
  new path, p
  push "floor.ptf"
  push 10
  push 10
  push 2.0
  push 0
  call p, build
  push 5.0
  call p, setanstep
  push "w"
  call p, linkanima
  push "onvisit"
  push "visited"
  call p, addmethod
  push "onfinish"
  push "arrived"
  call p, addmethod
  push 45
  push 25
  call p, goto
  pop n
  call n, print
  call w, actionname
  pop s
  call s, print
end method
method visited
  call p, getidanpath
  pop n
  call n, print
  call w, getposx
  pop n
  call n, print
  call w, getposy
  pop n
  call n, print
end method
method arrived
  mov s, "arrived"
  call s, print
  call p, iswalking
  pop n
  call n, print
  call p, getidgopath
  pop n
  call n, print
  call w, actionname
  pop s
  call s, print
  call p, stand
  call w, actionname
  pop s
  call s, print
  call gameapi, exit
end method
end game
new int, n
new string, s
push "g"
call gameapi, play
